// A card-device library with the reading half only: Card_Init and Card_ReadNo, no
// writing, no date, no device set-up and no exit. The test sets what Card_Init
// answers and what number is on the "card", and counts the initialisations.
#include <string>

namespace {

int initResult = 0;
int initCalls = 0;
std::string number;

} // namespace

extern "C" {

int Card_Init() {
    ++initCalls;
    return initResult;
}

void Card_ReadNo(const char** text) {
    *text = number.c_str();
}

void FakeCard_Set(int result, const char* cardNo) {
    initResult = result;
    number = cardNo;
    initCalls = 0;
}

int FakeCard_InitCalls() {
    return initCalls;
}
}
