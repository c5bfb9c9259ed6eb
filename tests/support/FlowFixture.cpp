#include "tests/support/FlowFixture.h"

FlowFixture::FlowFixture()
    : m_savedSession(Ucomvar()) {}

FlowFixture::~FlowFixture() {
    Ucomvar() = m_savedSession;
}
