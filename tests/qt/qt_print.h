// Readable Qt strings in test failures.
#ifndef TARVEX_TESTS_APP_QT_PRINT_H_
#define TARVEX_TESTS_APP_QT_PRINT_H_

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

#endif  // TARVEX_TESTS_APP_QT_PRINT_H_
