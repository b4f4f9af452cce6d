#include "files/Formats.h"
