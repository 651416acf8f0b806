// Identifiers of the report viewer's and the detail dialog's resources (viewer.rc), in the
// viewer's share of the program's resource space: 2000 to 3999.
#pragma once

#define IDS_VIEWER_TITLE 2000
