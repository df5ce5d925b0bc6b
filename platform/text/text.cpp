#include "platform/text/text.h"
