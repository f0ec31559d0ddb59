#pragma once

#include <QString>
#include <utility>

// No finer status than "it failed": for operations whose callers only need
// the reason.
enum class Failed { Yes };

// What an operation that can fail returns: success, or a status saying
// which failure and a text saying why, for the caller to tell the user as it
// sees fit. A success may carry a status (a load that found no file) and a
// notice too (where an older version of a file was kept).
template <typename Status = Failed>
class [[nodiscard]] Result
{
public:
    static Result ok(Status status = Status{}, QString notice = {}) { return Result(true, status, std::move(notice)); }
    static Result failure(Status status, QString reason) { return Result(false, status, std::move(reason)); }
    static Result failure(QString reason) { return Result(false, Status{}, std::move(reason)); }

    bool isOk() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    Status status() const { return m_status; }
    // The reason of a failure, or a success's notice; empty when there is nothing to tell.
    const QString &text() const { return m_text; }

private:
    Result(bool ok, Status status, QString text)
        : m_ok(ok)
        , m_status(status)
        , m_text(std::move(text))
    {
    }

    bool m_ok;
    Status m_status;
    QString m_text;
};
