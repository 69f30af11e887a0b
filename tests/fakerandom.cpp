#include "fakerandom.h"

#include <QTest>

namespace tarvo::fakes {

double ScriptedRandom::next()
{
    if (m_values.isEmpty()) {
        QTest::qFail("ScriptedRandom ran dry: the engine drew more numbers than the test scripted", __FILE__, __LINE__);
        return 0.0;
    }
    ++draws;
    return m_values.takeFirst();
}

} // namespace tarvo::fakes
