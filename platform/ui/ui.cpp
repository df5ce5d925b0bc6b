#include "platform/ui/ui.h"
