#pragma once

#include "OVX_Configurator/ViewController.h"

#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

namespace testsupport {

// The control of `controller`'s view whose object name is `name` (its outlet name); the test
// fails when there is none.
template <class T> T* outlet(ViewController* controller, const char* name) {
    QWidget* view = controller->view();
    T* found = view->objectName() == QLatin1String(name)
                   ? qobject_cast<T*>(view)
                   : view->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        ADD_FAILURE() << "no control named " << name;
    return found;
}

} // namespace testsupport
