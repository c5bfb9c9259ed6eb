#pragma once

#include "host/sdk/Ucomvar.h"
#include "tests/support/ModalDriver.h"
#include "tests/support/ScriptedMessages.h"
#include "tests/support/TestDatabase.h"

// What a whole flow (list window, dialog, question, procedure, message) runs in: a
// fresh database, the modal-window driver, the scripted message boxes and a session
// put back as it was afterwards. Made in a test class's init() and checked in its
// cleanup(), so a flow that leaves a window open, a question unanswered or an answer
// unused fails there, whatever the test itself asserted.
class FlowFixture {
public:
    FlowFixture();
    ~FlowFixture();
    FlowFixture(const FlowFixture&) = delete;
    FlowFixture& operator=(const FlowFixture&) = delete;

    TestDatabase& db() { return m_db; }
    DataModule& data() { return m_db.data(); }
    ModalDriver& driver() { return m_driver; }
    ScriptedMessages& boxes() { return m_boxes; }

    // Windows and boxes the flow left unfinished.
    int unsettled() const { return m_driver.unsettled() + m_boxes.unsettled(); }

private:
    TComVar m_savedSession;
    TestDatabase m_db;
    ModalDriver m_driver;
    ScriptedMessages m_boxes;
};
