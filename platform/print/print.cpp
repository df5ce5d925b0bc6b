#include "platform/print/print.h"
