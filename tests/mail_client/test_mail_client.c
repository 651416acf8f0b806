/* A mail client for the tests: a Simple MAPI library that exports the twelve functions and
 * records each MAPISendMail call (flags, parent window, subject, note text, every recipient and
 * attachment with the attachment's bytes) to the file named by RBINFO_TEST_MAIL_LOG. It answers
 * the result code given in RBINFO_TEST_MAIL_RESULT (0 when unset). Built a second time without
 * MAPIFindNext, as a client that lacks one export. The types are the system's (<mapi.h>). */
#include <windows.h>
#include <mapi.h>
#include <stdio.h>
#include <stdlib.h>

static ULONG ChosenResult(void) {
    char text[32];
    DWORD n = GetEnvironmentVariableA("RBINFO_TEST_MAIL_RESULT", text, sizeof text);
    return n > 0 && n < sizeof text ? (ULONG)strtoul(text, NULL, 10) : SUCCESS_SUCCESS;
}

static void WriteHex(FILE *out, const unsigned char *bytes, size_t size) {
    for (size_t i = 0; i < size; i++) fprintf(out, "%02X", bytes[i]);
}

/* The whole file as hex, or "-" when it cannot be read. */
static void WriteFileHex(FILE *out, const char *path) {
    FILE *in = path ? fopen(path, "rb") : NULL;
    unsigned char block[4096];
    size_t got;
    if (!in) {
        fputs("-", out);
        return;
    }
    while ((got = fread(block, 1, sizeof block, in)) > 0) WriteHex(out, block, got);
    fclose(in);
}

static const char *Text(const char *text) { return text ? text : ""; }

ULONG WINAPI MAPISendMail(LHANDLE session, ULONG_PTR window, lpMapiMessage message, FLAGS flags,
                          ULONG reserved) {
    char path[MAX_PATH];
    DWORD n = GetEnvironmentVariableA("RBINFO_TEST_MAIL_LOG", path, sizeof path);
    FILE *out;
    ULONG i;
    (void)session;
    (void)reserved;
    if (!message) return MAPI_E_FAILURE;
    if (n == 0 || n >= sizeof path || !(out = fopen(path, "ab"))) return MAPI_E_FAILURE;
    fprintf(out, "flags=%lu\nwindow=%llu\nsubject=%s\nnote=", (unsigned long)flags,
            (unsigned long long)window, Text(message->lpszSubject));
    WriteHex(out, (const unsigned char *)Text(message->lpszNoteText),
             strlen(Text(message->lpszNoteText)));
    fputs("\n", out);
    for (i = 0; i < message->nRecipCount; i++) {
        const MapiRecipDesc *r = &message->lpRecips[i];
        fprintf(out, "recipient=%lu|%s|%s\n", (unsigned long)r->ulRecipClass, Text(r->lpszName),
                Text(r->lpszAddress));
    }
    for (i = 0; i < message->nFileCount; i++) {
        const MapiFileDesc *f = &message->lpFiles[i];
        fprintf(out, "attachment=%ld|%s|%s|", (long)f->nPosition, Text(f->lpszPathName),
                Text(f->lpszFileName));
        WriteFileHex(out, f->lpszPathName);
        fputs("\n", out);
    }
    fputs("end\n", out);
    fclose(out);
    return ChosenResult();
}

ULONG WINAPI MAPILogon(ULONG_PTR ui, LPSTR profile, LPSTR password, FLAGS flags, ULONG reserved,
                       LPLHANDLE session) {
    (void)ui; (void)profile; (void)password; (void)flags; (void)reserved;
    if (session) *session = 1;
    return SUCCESS_SUCCESS;
}
ULONG WINAPI MAPILogoff(LHANDLE s, ULONG_PTR ui, FLAGS flags, ULONG reserved) {
    (void)s; (void)ui; (void)flags; (void)reserved;
    return SUCCESS_SUCCESS;
}
ULONG WINAPI MAPISendDocuments(ULONG_PTR ui, LPSTR delim, LPSTR paths, LPSTR names, ULONG r) {
    (void)ui; (void)delim; (void)paths; (void)names; (void)r;
    return MAPI_E_NOT_SUPPORTED;
}
#ifndef RB_WITHOUT_FIND_NEXT
ULONG WINAPI MAPIFindNext(LHANDLE s, ULONG_PTR ui, LPSTR type, LPSTR seed, FLAGS fl, ULONG r,
                          LPSTR id) {
    (void)s; (void)ui; (void)type; (void)seed; (void)fl; (void)r; (void)id;
    return MAPI_E_NO_MESSAGES;
}
#endif
ULONG WINAPI MAPIReadMail(LHANDLE s, ULONG_PTR ui, LPSTR id, FLAGS fl, ULONG r,
                          lpMapiMessage *out) {
    (void)s; (void)ui; (void)id; (void)fl; (void)r; (void)out;
    return MAPI_E_INVALID_MESSAGE;
}
ULONG WINAPI MAPISaveMail(LHANDLE s, ULONG_PTR ui, lpMapiMessage m, FLAGS fl, ULONG r, LPSTR id) {
    (void)s; (void)ui; (void)m; (void)fl; (void)r; (void)id;
    return MAPI_E_NOT_SUPPORTED;
}
ULONG WINAPI MAPIDeleteMail(LHANDLE s, ULONG_PTR ui, LPSTR id, FLAGS fl, ULONG r) {
    (void)s; (void)ui; (void)id; (void)fl; (void)r;
    return MAPI_E_INVALID_MESSAGE;
}
ULONG WINAPI MAPIFreeBuffer(LPVOID p) {
    (void)p;
    return SUCCESS_SUCCESS;
}
ULONG WINAPI MAPIAddress(LHANDLE s, ULONG_PTR ui, LPSTR caption, ULONG nEdit, LPSTR labels,
                         ULONG nRecips, lpMapiRecipDesc recips, FLAGS fl, ULONG r, LPULONG nNew,
                         lpMapiRecipDesc *news) {
    (void)s; (void)ui; (void)caption; (void)nEdit; (void)labels; (void)nRecips; (void)recips;
    (void)fl; (void)r; (void)nNew; (void)news;
    return MAPI_E_NOT_SUPPORTED;
}
ULONG WINAPI MAPIDetails(LHANDLE s, ULONG_PTR ui, lpMapiRecipDesc recip, FLAGS fl, ULONG r) {
    (void)s; (void)ui; (void)recip; (void)fl; (void)r;
    return MAPI_E_NOT_SUPPORTED;
}
ULONG WINAPI MAPIResolveName(LHANDLE s, ULONG_PTR ui, LPSTR name, FLAGS fl, ULONG r,
                             lpMapiRecipDesc *out) {
    (void)s; (void)ui; (void)name; (void)fl; (void)r; (void)out;
    return MAPI_E_AMBIGUOUS_RECIPIENT;
}
