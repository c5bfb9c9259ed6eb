#include "devices/PcscReader.h"

#include <cstdlib>
#include <vector>

int PcscReader::Open() {
    Close();
    if (SCardEstablishContext(SCARD_SCOPE_SYSTEM, nullptr, nullptr, &m_context) != SCARD_S_SUCCESS)
        return 1;
    m_hasContext = true;
    return ChooseReader();
}

void PcscReader::Close() {
    if (m_hasContext)
        SCardReleaseContext(m_context);
    m_hasContext = false;
    m_reader.clear();
}

bool PcscReader::Ready() {
    if (m_hasContext && SCardIsValidContext(m_context) == SCARD_S_SUCCESS && !m_reader.empty())
        return true;
    return Open() == 0;
}

int PcscReader::ChooseReader() {
    DWORD length = 0;
    if (SCardListReaders(m_context, nullptr, nullptr, &length) != SCARD_S_SUCCESS)
        return 2;
    std::vector<char> names(length);
    if (SCardListReaders(m_context, nullptr, names.data(), &length) != SCARD_S_SUCCESS)
        return 2;
    const char* wanted = std::getenv("CARD_DLL_READER");
    const std::string part = wanted ? wanted : "";
    // The list is NUL-separated names ending in an empty one.
    for (const char* name = names.data(); *name; name += std::string(name).size() + 1) {
        if (std::string(name).find(part) != std::string::npos) {
            m_reader = name;
            return 0;
        }
    }
    return 3;
}
