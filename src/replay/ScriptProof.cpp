#include "ScriptProof.h"

#include "Replay.h"
#include "script/ScriptWriter.h"

using namespace Qt::Literals::StringLiterals;

namespace lamina {

ProvenScript provenScript(const MotorModel &model)
{
    ProvenScript script{writeScript(model), {}};
    const replay::ReplayResult result = replay::replayScript(script.bytes);
    for (const replay::ReplayFinding &f : result.findings) {
        Finding finding{Severity::warning, {}, QString(), QString()};
        if (f.line > 0) {
            finding.english = u"script line %1: %2"_s.arg(f.line).arg(f.english);
            finding.chinese = u"脚本第 %1 行：%2"_s.arg(f.line).arg(f.chinese);
        } else {
            finding.english = u"script: "_s + f.english;
            finding.chinese = u"脚本："_s + f.chinese;
        }
        script.findings.push_back(finding);
    }
    return script;
}

}  // namespace lamina
