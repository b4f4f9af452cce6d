#include <QTest>
class TestPlayback : public QObject {
    Q_OBJECT
};
QTEST_MAIN(TestPlayback)
#include "tst_playback.moc"
