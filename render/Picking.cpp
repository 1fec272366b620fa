#include "render/Picking.h"

int PickPoint(const Pose&) { return -1; }
