#pragma once
// A picture-model header that reaches up into the window framework: the layer check must refuse it.
#include "graphics/Graphic.h"
#include "ui/Form.h"
