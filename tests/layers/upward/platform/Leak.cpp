// A platform file that reaches up into the windows: the layers test must name line 6 and only it.
#include "platform/Leak.h"

#include "common/Text.h"
#include "platform/FileSystem.h"
#include "ui/Form1.h"
