#include "app/UnitSortivo.h"

void TFrmSortivo::LoadADList() {}
void TFrmSortivo::CheckADUpdate() {}
bool TFrmSortivo::ShowAD(int) { return false; }
void TFrmSortivo::ShowFirstTextAD() {}
void TFrmSortivo::ShowFirstPicAD() {}
void TFrmSortivo::OpenURL(const QString &) {}
void TFrmSortivo::WMADListReady() {}
void TFrmSortivo::WMADPicReady(int) {}
void TFrmSortivo::TimerADTimer() {}
void TFrmSortivo::LabelADClick() {}
void TFrmSortivo::ImageADClick() {}
