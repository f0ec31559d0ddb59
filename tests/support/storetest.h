#pragma once

#include "common/storefile.h"
#include "tests/support/scratchdir.h"

#include <QLoggingCategory>
#include <QObject>
#include <QStringList>

// What the tests of the two stores share: debug lines on, each case in its
// own scratch directory, and the store called as the programs call it, with
// what it has to tell (the text a program shows in its message box) kept in
// m_messages.
class StoreTest : public ScratchTest
{
    Q_OBJECT

protected:
    template <typename Store>
    LoadStatus load(Store &store)
    {
        return told(store.load()).status();
    }
    template <typename Store>
    bool save(Store &store)
    {
        return told(store.save()).isOk();
    }

    QStringList m_messages;

private:
    template <typename Result>
    Result told(const Result &result)
    {
        if (!result.text().isEmpty())
            m_messages.append(result.text());
        return result;
    }

private slots:
    void initTestCase() { QLoggingCategory::defaultCategory()->setEnabled(QtDebugMsg, true); }
    void init()
    {
        m_messages.clear();
        ScratchTest::init();
    }
};
