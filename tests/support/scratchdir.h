#pragma once

#include <QByteArray>
#include <QDir>
#include <QObject>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// A fresh temporary directory made the current directory for as long as the
// object lives; the previous current directory comes back afterwards.
class ScratchDir
{
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir &) = delete;
    ScratchDir &operator=(const ScratchDir &) = delete;

    bool isValid() const { return m_valid; }
    QString path() const { return m_dir.path(); }
    // A name relative to the directory, or an absolute path as it stands.
    QString filePath(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

    // Whole-file helpers for the fixtures; they fail the test through QVERIFY
    // in the caller when they return false / an empty QByteArray is unexpected.
    bool write(const QString &name, const QByteArray &bytes) const;
    QByteArray read(const QString &name) const;

private:
    QString m_previous;
    QTemporaryDir m_dir;
    bool m_valid = false;
};

// A test class each of whose cases runs in its own scratch directory, m_dir.
// A derived class with more to set up defines its own init() and calls this one.
class ScratchTest : public QObject
{
    Q_OBJECT

protected:
    std::unique_ptr<ScratchDir> m_dir;

protected slots:
    void init();
    void cleanup() { m_dir.reset(); }
};

// A whole file written (and flushed) or read; relative paths are taken from
// the current directory. Empty when the file cannot be read.
bool writeFile(const QString &path, const QByteArray &bytes);
QByteArray readFile(const QString &path);

// Bytes from a hex text that may hold blanks and dots as separators.
QByteArray hexBytes(const char *text);
