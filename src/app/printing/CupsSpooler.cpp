#include "printing/CupsSpooler.h"

#include <QLocale>
#include <QPageSize>
#include <QSizeF>

#include "printing/CupsLibrary.h"

namespace {
// Only once connection() has given a connection: the library is loaded then.
const CupsLibrary &cups()
{
    return *CupsLibrary::get(nullptr);
}

// The queue's name without the instance a user may have added after "/".
QByteArray queueName(const Spooler::Printer &printer)
{
    return printer.name.section(u'/', 0, 0).toUtf8();
}

bool succeeded(ipp_status_t status)
{
    return status <= IPP_STATUS_OK_CONFLICTING;
}

QPageLayout layoutFromHundredthsOfMm(int width, int length, int left, int top, int right, int bottom)
{
    const QPageSize size(QSizeF(width / 100.0, length / 100.0), QPageSize::Millimeter, QString(),
                         QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait,
                       QMarginsF(left / 100.0, top / 100.0, right / 100.0, bottom / 100.0),
                       QPageLayout::Millimeter);
}

// The paper the printer takes by default, with the margins it cannot print on. A queue that
// does not describe its paper (a raw queue) gets the paper of the user's region, margins none.
QPageLayout defaultLayout(http_t *http, cups_dest_t *dest)
{
    QPageLayout layout;
    if (cups_dinfo_t *info = cups().cupsCopyDestInfo(http, dest)) {
        cups_size_t size;
        if (cups().cupsGetDestMediaDefault(http, dest, info, 0, &size))
            layout = layoutFromHundredthsOfMm(size.width, size.length, size.left, size.top, size.right,
                                              size.bottom);
        cups().cupsFreeDestInfo(info);
    }
    if (layout.isValid())
        return layout;
    if (const char *media = cups().cupsGetOption("media", dest->num_options, dest->options)) {
        const pwg_media_t *pwg = cups().pwgMediaForPWG(media);
        if (!pwg)
            pwg = cups().pwgMediaForLegacy(media);
        if (pwg && pwg->width > 0 && pwg->length > 0)
            return layoutFromHundredthsOfMm(pwg->width, pwg->length, 0, 0, 0, 0);
    }
    const bool letter = QLocale::system().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageLayout(QPageSize(letter ? QPageSize::Letter : QPageSize::A4), QPageLayout::Portrait, QMarginsF());
}
} // namespace

CupsSpooler::~CupsSpooler()
{
    if (m_http)
        cups().httpClose(m_http);
}

http_t *CupsSpooler::connection()
{
    if (!m_http) {
        if (!CupsLibrary::get(&m_lastError)) {
            m_unreachable = true;
            return nullptr;
        }
        m_http = cups().httpConnect2(cups().cupsServer(), cups().ippPort(), nullptr, AF_UNSPEC, cups().cupsEncryption(),
                                     1, 30000, nullptr);
        if (!m_http) {
            m_lastError.clear(); // errno no longer tells why once libcups has cleaned up
            m_unreachable = true;
        }
    }
    return m_http;
}

void CupsSpooler::keepError()
{
    m_lastError = QString::fromUtf8(cups().cupsLastErrorString());
    // libcups says so when the connection it had is lost and cannot be made again.
    m_unreachable = cups().cupsLastError() == IPP_STATUS_ERROR_SERVICE_UNAVAILABLE;
}

std::optional<Spooler::Printer> CupsSpooler::defaultPrinter()
{
    http_t *http = connection();
    if (!http)
        return std::nullopt;
    cups_dest_t *dest = cups().cupsGetNamedDest(http, nullptr, nullptr);
    if (!dest) {
        keepError();
        // libcups says "No default destination." when the service went away mid-request too.
        if (cups().httpError(http) != 0) {
            m_lastError.clear();
            m_unreachable = true;
        }
        return std::nullopt;
    }
    Printer printer;
    printer.name = QString::fromUtf8(dest->name);
    if (dest->instance)
        printer.name += u'/' + QString::fromUtf8(dest->instance);
    printer.layout = defaultLayout(http, dest);
    cups().cupsFreeDests(1, dest);
    return printer;
}

int CupsSpooler::createHeldJob(const Printer &printer)
{
    http_t *http = connection();
    if (!http)
        return 0;
    // No paper, copies or orientation of ours: the queue's defaults apply.
    cups_option_t *options = nullptr;
    const int count = cups().cupsAddOption("job-hold-until", "indefinite", 0, &options);
    const int job = cups().cupsCreateJob(http, queueName(printer).constData(), "", count, options);
    cups().cupsFreeOptions(count, options);
    if (job <= 0)
        keepError();
    return job;
}

bool CupsSpooler::sendDocument(const Printer &printer, int job, const QByteArray &pdf)
{
    http_t *http = connection();
    if (!http)
        return false;
    const QByteArray queue = queueName(printer);
    if (cups().cupsStartDocument(http, queue.constData(), job, "", CUPS_FORMAT_PDF, 1) != HTTP_STATUS_CONTINUE) {
        keepError();
        return false;
    }
    if (cups().cupsWriteRequestData(http, pdf.constData(), size_t(pdf.size())) != HTTP_STATUS_CONTINUE) {
        static_cast<void>(cups().cupsFinishDocument(http, queue.constData()));
        keepError();
        return false;
    }
    if (!succeeded(cups().cupsFinishDocument(http, queue.constData()))) {
        keepError();
        return false;
    }
    return true;
}

bool CupsSpooler::release(const Printer & /*printer*/, int job)
{
    http_t *http = connection();
    if (!http)
        return false;
    ipp_t *request = cups().ippNewRequest(IPP_OP_RELEASE_JOB);
    char uri[HTTP_MAX_URI];
    cups().httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", cups().ippPort(),
                            "/jobs/%d", job);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    cups().ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                        cups().cupsUser());
    cups().ippDelete(cups().cupsDoRequest(http, request, "/jobs"));
    if (!succeeded(cups().cupsLastError())) {
        keepError();
        return false;
    }
    return true;
}

bool CupsSpooler::cancel(int job)
{
    http_t *http = connection();
    if (!http)
        return false;
    // The queue's name is not needed: a job's number names it on its server.
    const ipp_status_t status = cups().cupsCancelJob2(http, nullptr, job, 0);
    // A job already cancelled, printed or gone is over all the same.
    return succeeded(status) || status == IPP_STATUS_ERROR_NOT_POSSIBLE || status == IPP_STATUS_ERROR_NOT_FOUND;
}

QList<Spooler::HeldJob> CupsSpooler::heldJobs()
{
    QList<HeldJob> held;
    http_t *http = connection();
    if (!http)
        return held;
    cups_job_t *jobs = nullptr;
    const int count = cups().cupsGetJobs2(http, &jobs, nullptr, 1, CUPS_WHICHJOBS_ACTIVE);
    for (int i = 0; i < count; ++i)
        if (jobs[i].state == IPP_JSTATE_HELD)
            held.append({jobs[i].id, QString::fromUtf8(jobs[i].title), qint64(jobs[i].creation_time)});
    if (count > 0)
        cups().cupsFreeJobs(count, jobs);
    return held;
}
