// The program's version, shared by the version resource and nothing else: the
// About text reads the numbers back from the resource at run time.
#pragma once

#define ZELVANE_VERSION_MAJOR 1
#define ZELVANE_VERSION_MINOR 1
#define ZELVANE_VERSION_BUILD 0
#define ZELVANE_VERSION_REVISION 3
#define ZELVANE_VERSION_TEXT "1.1.0.3"
