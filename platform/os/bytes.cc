#include "platform/os/bytes.h"
