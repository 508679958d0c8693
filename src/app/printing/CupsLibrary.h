#pragma once

#include <cups/cups.h>

#include <QString>

// libcups, loaded when the first print job needs it rather than when the program starts: the
// library and the ones it brings (TLS, Kerberos, Avahi) cost start-up time that a user who does
// not print should not pay. The program calls it through these pointers only.
#define EDOKLAD_CUPS_FUNCTIONS(X) \
    X(cupsAddOption) \
    X(cupsCancelJob2) \
    X(cupsCopyDestInfo) \
    X(cupsCreateJob) \
    X(cupsDoRequest) \
    X(cupsEncryption) \
    X(cupsFinishDocument) \
    X(cupsFreeDestInfo) \
    X(cupsFreeDests) \
    X(cupsFreeJobs) \
    X(cupsFreeOptions) \
    X(cupsGetDestMediaDefault) \
    X(cupsGetJobs2) \
    X(cupsGetNamedDest) \
    X(cupsGetOption) \
    X(cupsLastError) \
    X(cupsLastErrorString) \
    X(cupsServer) \
    X(cupsStartDocument) \
    X(cupsUser) \
    X(cupsWriteRequestData) \
    X(httpAssembleURIf) \
    X(httpClose) \
    X(httpConnect2) \
    X(httpError) \
    X(ippAddString) \
    X(ippDelete) \
    X(ippNewRequest) \
    X(ippPort) \
    X(pwgMediaForLegacy) \
    X(pwgMediaForPWG)

struct CupsLibrary
{
#define EDOKLAD_CUPS_POINTER(name) decltype(&::name) name = nullptr;
    EDOKLAD_CUPS_FUNCTIONS(EDOKLAD_CUPS_POINTER)
#undef EDOKLAD_CUPS_POINTER

    // The library, loaded on the first call; nullptr, with the loader's reason in *error, when it
    // or one of its functions cannot be found.
    [[nodiscard]] static const CupsLibrary *get(QString *error);
};
