#include "render/BoardView.h"

void BoardView::BuildLists() const {}
void BoardView::DrawPointsAndSurface() const {}
void BoardView::DrawFrame() const {}
