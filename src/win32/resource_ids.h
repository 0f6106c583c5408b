#pragma once

// The numbers of the program's own resources, shared by netedit.rc and the code that loads them.
#define NETEDIT_HELP_PAGE_RESOURCE 101
