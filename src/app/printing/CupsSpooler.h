#pragma once

#include "printing/Spooler.h"

typedef struct _http_s http_t;

// The system's CUPS scheduler through libcups, on a connection of its own (libcups keeps one
// per thread otherwise). Used from one thread at a time.
class CupsSpooler : public Spooler
{
public:
    CupsSpooler() = default;
    ~CupsSpooler() override;
    CupsSpooler(const CupsSpooler &) = delete;
    CupsSpooler &operator=(const CupsSpooler &) = delete;

    [[nodiscard]] std::optional<Printer> defaultPrinter() override;
    [[nodiscard]] int createHeldJob(const Printer &printer) override;
    [[nodiscard]] bool sendDocument(const Printer &printer, int job, const QByteArray &pdf) override;
    [[nodiscard]] bool release(const Printer &printer, int job) override;
    bool cancel(int job) override;
    [[nodiscard]] QList<HeldJob> heldJobs() override;
    [[nodiscard]] QString lastError() const override { return m_lastError; }
    [[nodiscard]] bool unreachable() const override { return m_unreachable; }

private:
    http_t *connection();
    void keepError();

    http_t *m_http = nullptr;
    QString m_lastError;
    bool m_unreachable = false;
};
