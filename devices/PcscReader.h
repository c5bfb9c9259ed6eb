#pragma once

#include <winscard.h>

#include <string>

// The PC/SC service and the reader the library works with. The reader is the one
// whose name contains the text of the environment variable CARD_DLL_READER, or the
// first one the service lists when it is unset or empty.
class PcscReader {
public:
    ~PcscReader() { Close(); }

    // 0 ready; 1 no PC/SC service; 2 no reader; 3 the named reader is not there.
    int Open();
    void Close();
    // A service that went away (pcscd restarted) is reached again before use.
    bool Ready();
    SCARDCONTEXT Context() const { return m_context; }
    const char* Reader() const { return m_reader.c_str(); }

private:
    int ChooseReader();

    SCARDCONTEXT m_context = 0;
    bool m_hasContext = false;
    std::string m_reader;
};
