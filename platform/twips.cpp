#include "platform/twips.h"
