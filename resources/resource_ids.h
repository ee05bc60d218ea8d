/* Resource identifiers shared by the resource script and the code. */
#pragma once

#define IDS_DESCRIPTION 1
#define IDI_SAVER 100
#define IDB_BANNER 107
#define IDB_LOGO 112
#define IDD_CONFIGURE 2003
