#include "platform/numbers/numbers.h"
