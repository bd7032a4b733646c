#pragma once

#include <QWidget>

// The drop shadow of a borderless form: a separate top-level window behind it.
class TFormShadow : public QWidget
{
    Q_OBJECT
public:
    explicit TFormShadow(QObject *owner);
    ~TFormShadow() override;

    void Attach(QWidget *form);
    void SetShowing(bool value);

private:
    QWidget *FForm = nullptr;
    bool FFormShown = false;
};
