// An identity-card plug library offering two readers and a description.
extern "C" {

void GetCardInfoList(const char** text) {
    *text = "华视CVR-100=Termb.so,神思SS628=SS628.so";
}

void GetPlugComment(const char** text) {
    *text = "读取姓名与号码,读取住址,读取照片";
}
}
