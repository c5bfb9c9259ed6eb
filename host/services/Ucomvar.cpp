#include "host/sdk/Ucomvar.h"

TComVar& Ucomvar() {
    static TComVar session;
    return session;
}

TAppClass& AppClass() {
    return Ucomvar().appClass;
}

int MEDVERSION() {
    return Ucomvar().nMedVersion;
}

bool IsFood() {
    return Ucomvar().bFood;
}
