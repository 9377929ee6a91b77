// Picture file writers over libjpeg-turbo and libzip.
#include "picture_files.h"
