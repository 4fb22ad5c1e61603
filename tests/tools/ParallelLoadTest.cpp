// A large layout is read and prepared on several threads; what comes out
// must be the layout read on one: the same objects, partners, routes and
// scene.
#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "RandomLayout.h"
#include "layoutfile/GlobalState.h"
#include "layoutfile/LoadLayout.h"
#include "layoutfile/RailList.h"
#include "obj3d/DocumentScene.h"
#include "platform/Parallel.h"
#include "support/SameScene.h"
#include "tracks/Schiene.h"

namespace tk3d::gen {
namespace {

std::unique_ptr<TRailList> LoadWithParts(const std::vector<uint8_t>& bytes, unsigned parts) {
    ResetGlobalState();
    SetParallelParts(parts);
    auto doc = LoadLayoutFromMemory(bytes, "large.tkl");
    SetParallelParts(0);
    return doc;
}

// One line per object: its class, number and place, each point's partner
// as (object, point), its routes and lines.
std::vector<std::string> Describe(const TRailList& doc) {
    std::map<const TAnschlussPunkt*, std::string> names;
    for (int i = 0; i < doc.Count(); ++i)
        if (const auto* piece = dynamic_cast<const TSchiene*>(doc.Items(i)))
            for (int p = 0; p < piece->ConnectionCount(); ++p)
                names[&piece->Point(p)] = std::to_string(i) + "/" + std::to_string(p);
    std::vector<std::string> lines;
    for (int i = 0; i < doc.Count(); ++i) {
        const TBasicRailObject* obj = doc.Items(i);
        std::ostringstream s;
        s << typeid(*obj).name() << " #" << obj->Number << " @" << obj->Position.X << "," << obj->Position.Y;
        if (const auto* piece = dynamic_cast<const TSchiene*>(obj)) {
            for (int p = 0; p < piece->ConnectionCount(); ++p) {
                const TAnschlussPunkt* partner = piece->Point(p).fPartner;
                s << " p" << p << "->" << (partner ? names.at(partner) : "-");
            }
            s << " states " << (piece->fStates ? piece->fStates->Count() : -1);
            s << " lines " << piece->Lines.Count();
        }
        lines.push_back(s.str());
    }
    return lines;
}

TEST(ParallelLoad, SeveralThreadsReadTheLayoutOneThreadReads) {
    TRandomLayoutParams params;
    params.Pieces = 6000;
    params.Labels = 0.3;
    params.Blocks = 0.1;
    params.Layers = 3;
    const std::vector<uint8_t> bytes = RandomLayoutFile(params);
    const auto one = LoadWithParts(bytes, 1);
    const auto four = LoadWithParts(bytes, 4);
    EXPECT_EQ(Describe(*four), Describe(*one));

    ViewScale = 0.5;
    const TCompiledScene a = CompileDocument(*one, true), b = CompileDocument(*four, true);
    EXPECT_TRUE(tk3dw::SameScene(a, b));
    ResetGlobalState();
}

}  // namespace
}  // namespace tk3d::gen
