#include "shadow/ufrmShadowFrame.h"

TFormShadow::TFormShadow(QObject *) : QWidget(nullptr) {}

TFormShadow::~TFormShadow()
{
    Attach(nullptr);
}

void TFormShadow::Attach(QWidget *form)
{
    FForm = form;
}

void TFormShadow::SetShowing(bool value)
{
    FFormShown = value;
}
