#include <utility>

#include "app/App.h"

static const float handStep = 0.05f;
static const float zoomStep = 0.02f;
static const float turnStep = 1.0f;

Key KeyOfCode(unsigned code) {
    if ((code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9')) {
        return Key{static_cast<unsigned char>(code)};
    }
    static const std::pair<unsigned, Key> numbered[] = {
        {27, Key::Escape},       {37, Key::Left},      {38, Key::Up},   {39, Key::Right},
        {40, Key::Down},         {91, Key::LeftSuper}, {93, Key::Menu}, {107, Key::KeypadPlus},
        {109, Key::KeypadMinus}, {112, Key::F1},
    };
    for (const auto& [c, key] : numbered) {
        if (c == code) {
            return key;
        }
    }
    return Key::None;
}

void App::Handle(const Event& event) {
    const int k = Index(event.key);
    switch (event.type) {
        case EventType::Minimised:
            active = false;
            break;
        case EventType::Restored:
            // Only minimising stops the frames; losing the focus does not.
            active = true;
            break;
        case EventType::CloseRequested:
            closeRequested = true;
            break;
        case EventType::KeyPressed:
            keys[k] = 1;
            keysPressedSincePass[k] = 1;
            keysReleasePending[k] = 0;
            break;
        case EventType::KeyReleased:
            if (keysPressedSincePass[k]) {
                keysReleasePending[k] = 1;
            } else {
                keys[k] = 0;
            }
            break;
        case EventType::CharacterTyped:
            // It taps the key of the same code ("k" zooms like the keypad's plus, "]" is the menu
            // key, "p" toggles the window mode like F1) on the next pass only, and a held key's
            // repeated characters act once each.
            if (event.character < 256) {
                lastChar = static_cast<signed char>(event.character);
                typedSincePass[Index(KeyOfCode(event.character))] = 1;
            }
            break;
        case EventType::Resized:
            ResizeViewport(event.x, event.y);
            break;
        case EventType::PointerMoved:
            table.PointerMoved(event.x, event.y);
            break;
        case EventType::ButtonPressed:
            if (event.button == Button::Right) {
                table.RightClick(event.x, event.y);
            } else {
                table.LeftClick(event.x, event.y);
            }
            break;
    }
}

struct KeyAction {
    Key key;
    void (*action)(App& app);
};

static void SetPolygonMode(App& app, unsigned mode) {
    glPolygonMode(GL_FRONT_AND_BACK, mode);
    app.polygonMode = mode;
}

// In the order they apply within one pass.
static const KeyAction keyActions[] = {
    {Key{'B'}, [](App& app) { app.table.NextBackground(); }},
    {Key::LeftSuper, [](App& app) { SetPolygonMode(app, GL_FILL); }},
    {Key::Menu, [](App& app) { SetPolygonMode(app, GL_LINE); }},
    {Key::Escape, [](App& app) { app.fadingOut = true; }},
    {Key{'W'}, [](App& app) { app.table.MoveHand(0.0f, -handStep); }},
    {Key{'X'}, [](App& app) { app.table.MoveHand(0.0f, handStep); }},
    {Key{'A'}, [](App& app) { app.table.MoveHand(-handStep, 0.0f); }},
    {Key{'D'}, [](App& app) { app.table.MoveHand(handStep, 0.0f); }},
    {Key{'Z'}, [](App& app) { app.table.LiftHand(-handStep); }},
    {Key{'Q'}, [](App& app) { app.table.LiftHand(handStep); }},
    {Key::KeypadMinus, [](App& app) { app.table.MoveView(-zoomStep, 0.0f, 0.0f); }},
    {Key::KeypadPlus, [](App& app) { app.table.MoveView(zoomStep, 0.0f, 0.0f); }},
    {Key::Up, [](App& app) { app.table.MoveView(0.0f, -turnStep, 0.0f); }},
    {Key::Down, [](App& app) { app.table.MoveView(0.0f, turnStep, 0.0f); }},
    {Key::Right, [](App& app) { app.table.MoveView(0.0f, 0.0f, turnStep); }},
    {Key::Left, [](App& app) { app.table.MoveView(0.0f, 0.0f, -turnStep); }},
};

bool App::ApplyKeyActions(int steps) {
    // 1. A typed digit: 0 swaps the side colours, 1 to 9 pick a colour scheme. Other characters
    // stay in lastChar and do nothing; codes of 128 and up are negative here and never count.
    if (lastChar >= '0' && lastChar <= '9') {
        if (lastChar == '0') {
            table.SwapSideColours();
        } else {
            table.ApplyColourScheme(lastChar - '0');
        }
        lastChar = 0;
    }

    // 2. A key held down acts once for every step of game time; a quick tap, or a typed
    // character, acts once.
    for (const KeyAction& a : keyActions) {
        const int k = Index(a.key);
        const bool held = keys[k] && !keysReleasePending[k];
        const int times = held ? steps : keys[k] || typedSincePass[k] ? 1 : 0;
        for (int i = 0; i < times; ++i) {
            a.action(*this);
        }
    }
    const int f1 = Index(Key::F1);
    const bool toggle = keys[f1] != 0 || typedSincePass[f1] != 0;

    // 3. Taps and typed characters have now acted once: let them go.
    for (int k = 0; k < 256; ++k) {
        if (keysReleasePending[k]) {
            keys[k] = 0;
        }
        keysReleasePending[k] = 0;
        keysPressedSincePass[k] = 0;
        typedSincePass[k] = 0;
    }

    // 4. The window-mode toggle, last: it clears its own entry so a held F1 toggles once.
    if (toggle) {
        keys[f1] = 0;
        CloseWindow();
        fullscreen = !fullscreen;
        if (!OpenForMode()) {
            return false;
        }
    }
    return true;
}
