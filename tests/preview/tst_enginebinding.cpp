#include <QTest>
class TestEngineBinding : public QObject {
    Q_OBJECT
};
QTEST_MAIN(TestEngineBinding)
#include "tst_enginebinding.moc"
