#include "app/path_text.h"

#include "app/installer_state.h"

#include <cstdio>

int ComposePath(char* target, const char* folder, const char* name) {
    int length = snprintf(target, PATH_TEXT_SIZE, "%s%s", folder, name);
    if (length >= 0 && length < PATH_TEXT_SIZE) return 1;
    target[0] = '\0';
    return 0;
}
