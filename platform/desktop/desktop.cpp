#include "platform/desktop/desktop.h"
