#pragma once

#include "scratchdir.h"
#include "storefile.h"

#include <QLoggingCategory>
#include <QObject>
#include <QStringList>
#include <QTest>

#include <memory>

// What the tests of the two stores share: debug lines on, each case in its
// own scratch directory, and the store called as the programs call it, with
// what it has to tell (the text a program shows in its message box) kept in
// m_messages.
class StoreTest : public QObject
{
    Q_OBJECT

protected:
    template <typename Store>
    LoadStatus load(Store &store)
    {
        const LoadResult result = store.load();
        if (!result.message.isEmpty())
            m_messages.append(result.message);
        return result.status;
    }
    template <typename Store>
    bool save(Store &store)
    {
        const SaveResult result = store.save();
        if (!result.message.isEmpty())
            m_messages.append(result.message);
        return result.saved;
    }

    std::unique_ptr<ScratchDir> m_dir;
    QStringList m_messages;

private slots:
    void initTestCase() { QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, true); }
    void init()
    {
        m_messages.clear();
        m_dir = std::make_unique<ScratchDir>();
        QVERIFY(m_dir->isValid());
    }
    void cleanup() { m_dir.reset(); }
};
