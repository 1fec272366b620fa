#include "render/Hand.h"

void Hand::BuildLists() {}
void Hand::Draw() {}
