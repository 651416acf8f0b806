// Identifiers of the main window's and the send dialog's resources (app.rc). The program's
// windows share one resource space: the application uses 100 to 1999, the viewer 2000 to 3999.
#pragma once

#define IDI_RBINFO 100  // the application icon (the first icon: the one the shell shows)
#define IDS_APPLICATION_TITLE 101
