#pragma once

#include <QString>

// What the core tells a person at once (a message box in the program); the
// tests and the admin tool give their own.
class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void ShowMessage(const QString& text) = 0;
};
