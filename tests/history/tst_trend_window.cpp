#include "ui/trend_window.h"

#include <QTableWidget>
#include <QtTest>

int main() {
    return 0;
}
