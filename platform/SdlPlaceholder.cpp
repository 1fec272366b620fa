// The SDL2 backend lands here.
