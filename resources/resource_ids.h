/* Resource identifiers shared by the resource script and the code. */
#pragma once

#define IDS_DESCRIPTION 1
#define IDD_CONFIGURE 2003
#define IDI_SAVER 100
