// Identifiers of the main window's and the send dialog's resources (app.rc). The program's
// windows share one resource space: the application uses 100 to 1999, the viewer 2000 to 3999.
#pragma once

#define IDI_RBINFO 100  // the application icon (the first icon: the one the shell shows)
#define IDS_APPLICATION_TITLE 101

// The button pictures (32 x 32).
#define IDI_PROCESS 110
#define IDI_SHOW 111
#define IDI_SEND 112

// The main window's controls, created from code.
#define IDC_MAIN_PROC 200
#define IDC_MAIN_SHOW 201
#define IDC_MAIN_PROGRESS 202
#define IDC_MAIN_SEND 203
#define IDC_MAIN_STATUS 204

// The send dialog.
#define IDD_SEND_INFO 300
#define IDC_SEND_NOMBRE_LABEL 301
#define IDC_SEND_NOMBRE 302
#define IDC_SEND_TELEFONO_LABEL 303
#define IDC_SEND_TELEFONO 304
#define IDC_SEND_OBSERVACIONES_LABEL 305
#define IDC_SEND_OBSERVACIONES 306
#define IDC_SEND_DIRECT 307
#define IDC_SEND_MAIL 308
#define IDC_SEND_FILE 309
// The send and cancel buttons are IDOK ("&Enviar", Enter) and IDCANCEL ("&Cancelar", Esc).
