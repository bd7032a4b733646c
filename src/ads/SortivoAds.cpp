#include "app/UnitSortivo.h"

void TFrmSortivo::LoadADList() {}
void TFrmSortivo::CheckADUpdate() {}
