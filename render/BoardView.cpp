#include "render/BoardView.h"

BoardView::BoardView() : SceneObject(20) {}
