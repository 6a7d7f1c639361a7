// Several PCs on one data root: pupils saving on the same worksheets at once,
// and the same pupil's work opened twice.
#include "RobustnessChecks.h"

#include <QTemporaryDir>
#include <QTest>

class TestSeveralPcs : public QObject {
    Q_OBJECT

private slots:
    void pupilsSavingAtOnce();
    void sameWorkOpenedTwice();
};

void TestSeveralPcs::pupilsSavingAtOnce()
{
    const int seconds = qEnvironmentVariableIntValue("ARDOISINE_STRESS_SECONDS") > 0
        ? qEnvironmentVariableIntValue("ARDOISINE_STRESS_SECONDS")
        : 60;
    QTemporaryDir root;
    RobustnessChecks::PupilsSavingAtOnce(ARDOISINE_STRESS, root.path(), seconds);
}

void TestSeveralPcs::sameWorkOpenedTwice()
{
    QTemporaryDir root;
    RobustnessChecks::SameWorkOpenedTwice(ARDOISINE_STRESS, root.path());
}

QTEST_MAIN(TestSeveralPcs)
#include "tst_severalpcs.moc"
