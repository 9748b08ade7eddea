#pragma once
// Includes only its own folder and the ground: nothing here is against the layers.
#include "common/Session.h"
