#include "tolv32dll/errors/error_numbers.h"
