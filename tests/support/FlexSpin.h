#pragma once

#include <QString>
#include <QStringList>

// Runs the FlexSpin compiler for the tests that build generated projects and driver test
// programs. The compiler is not part of Kyv: KYV_FLEXSPIN names it, else `flexspin` is taken from
// PATH; without either, these tests are skipped with a message that says how to run them, or fail
// when KYV_REQUIRE_FLEXSPIN=1 is set.

struct CFlexSpinRun {
  int m_nExitCode = -1;
  QString m_sOutput;  // standard output and standard error, interleaved

  // Lines in which the compiler reports a warning.
  QStringList Warnings() const;
  // Exit status 0 and no warning.
  bool IsClean() const { return m_nExitCode == 0 && Warnings().isEmpty(); }
};

// The compiler to run, or empty when there is none.
QString FlexSpinExecutable();

// The library include folder that comes with that compiler (KYV_FLEXSPIN_INCLUDE, else an
// "include" folder beside or above the executable's folder), or empty.
QString FlexSpinIncludeFolder();

// Compiles `sourceFile` in its own folder with `-2` and `options` (plus `-L` with the include
// folder when there is one) and waits at most two minutes.
CFlexSpinRun RunFlexSpin(const QString& sourceFile, const QStringList& options = {});

// Whether a missing compiler fails these tests instead of skipping them: KYV_REQUIRE_FLEXSPIN=1,
// which CI sets so that a broken compiler setup cannot pass as skipped tests.
bool FlexSpinRequired();

#define KYV_SKIP_WITHOUT_FLEXSPIN()                                                          \
  do {                                                                                       \
    if (FlexSpinExecutable().isEmpty()) {                                                    \
      if (FlexSpinRequired())                                                                \
        QFAIL(                                                                               \
            "FlexSpin not found, and KYV_REQUIRE_FLEXSPIN=1 requires it: name the compiler " \
            "in KYV_FLEXSPIN or put flexspin on PATH");                                      \
      QSKIP(                                                                                 \
          "FlexSpin not found: put flexspin on PATH or name it in KYV_FLEXSPIN to run "      \
          "the FlexSpin compile tests");                                                     \
    }                                                                                        \
  } while (false)
