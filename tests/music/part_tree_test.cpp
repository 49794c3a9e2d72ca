#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music/music_math.h"
#include "music_fixture.h"

namespace kalvora {
namespace {

using test::AddNote;
using test::AddSilence;
using test::SymbolsOf;

// Records what the passes hand to the single parts.
struct Rendered {
    const TSinglePartMuz* part;
    double t0;
    int transposition;
};

class RecordingRenderer : public TSinglePartRenderer {
  public:
    bool RenderSinglePart(const TSinglePartMuz& part, double t0, int transposition,
                          std::string& errorText) override {
        calls.push_back({&part, t0, transposition});
        if (static_cast<int>(calls.size()) == failAt) {
            errorText = "Cannot find window \"sample\".";
            return false;
        }
        return true;
    }
    std::vector<Rendered> calls;
    int failAt = -1;
};

// A tree over single parts that each hold one whole note of one stave.
class PartTreeTest : public ::testing::Test {
  protected:
    PartTreeTest() { stave = model.AddStave(); }

    std::unique_ptr<TSinglePartMuz> Part(double noteLength = 1.0) {
        auto part = std::make_unique<TSinglePartMuz>(nullptr);
        part->AddStave(stave);
        if (noteLength > 0) AddNote(*part, stave, 0, 5, TTiming{static_cast<int>(1 / noteLength)});
        return part;
    }

    std::unique_ptr<TSelectPartMuz> Select(std::unique_ptr<TPartMuz> child,
                                           std::vector<std::pair<int, int>> turns) {
        auto select = std::make_unique<TSelectPartMuz>(nullptr, std::move(child));
        for (const auto& [count, pitch] : turns)
            select->AddTurnItem(count, pitch);
        return select;
    }

    std::vector<Rendered> Generate(TPartMuz& from, double tempo = 2.0, int failAt = -1,
                                   bool expectOk = true) {
        RecordingRenderer renderer;
        renderer.failAt = failAt;
        std::string error;
        EXPECT_EQ(GenerateParts(from, renderer, tempo, 0.0, error), expectOk);
        return renderer.calls;
    }

    test::MusicModel model;
    TNoteStave* stave;
};

TEST_F(PartTreeTest, ALoopOfThreePlaysItsPartThreeTimesOneLengthApart) {
    TSinglePartMuz* single = nullptr;
    {
        auto part = Part();
        single = part.get();
        model.root->SetPartMuz(std::make_unique<TLoopPartMuz>(nullptr, std::move(part), 3));
    }
    EXPECT_DOUBLE_EQ(model.root->GetLength(), 3.0);
    RecordingRenderer renderer;
    std::string error;
    double end = 0;
    ASSERT_TRUE(GenerateParts(*model.root, renderer, 2.0, 0.5, error, &end));
    ASSERT_EQ(renderer.calls.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(renderer.calls[i].part, single);
        EXPECT_DOUBLE_EQ(renderer.calls[i].t0, 0.5 + 2.0 * i);
    }
    EXPECT_DOUBLE_EQ(end, 6.5);
}

TEST_F(PartTreeTest, ALoopOfTwoWithTurnsPlaysTheSecondEndingAnOctaveHigher) {
    auto a = Part();
    auto b = Part();
    const TSinglePartMuz* partA = a.get();
    const TSinglePartMuz* partB = b.get();
    auto concat = std::make_unique<TConcatPartMuz>(nullptr, std::move(a),
                                                   Select(std::move(b), {{1, 0}, {2, 12}}));
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(concat), 2);
    TLoopPartMuz* loopPart = loop.get();
    model.root->SetPartMuz(std::move(loop));

    const std::vector<Rendered> calls = Generate(*model.root, 1.0);
    ASSERT_EQ(calls.size(), 4u);
    const TSinglePartMuz* parts[] = {partA, partB, partA, partB};
    const int transpositions[] = {0, 0, 0, 12};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].part, parts[i]);
        EXPECT_DOUBLE_EQ(calls[i].t0, i);
        EXPECT_EQ(calls[i].transposition, transpositions[i]);
    }
    EXPECT_EQ(loopPart->GetTurn(), 1);  // back at the first turn after the pass
    EXPECT_DOUBLE_EQ(model.root->GetLength(), 4.0);
}

TEST_F(PartTreeTest, ARepeatsLengthIsTheSumOverItsTurns) {
    // The second ending plays only in turn 2: 1 + (1 + 1) whole notes, not 2 x (1 + 0).
    auto concat = std::make_unique<TConcatPartMuz>(nullptr, Part(), Select(Part(), {{2, 0}}));
    model.root->SetPartMuz(std::make_unique<TLoopPartMuz>(nullptr, std::move(concat), 2));
    EXPECT_DOUBLE_EQ(model.root->GetLength(), 3.0);
    const std::vector<Rendered> calls = Generate(*model.root, 1.0);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_DOUBLE_EQ(calls[2].t0, 2.0);
}

TEST_F(PartTreeTest, ASelectPartOutsideAnyLoopPlaysOnlyForTurnOne) {
    model.root->SetPartMuz(Select(Part(), {{2, 0}}));
    EXPECT_TRUE(Generate(*model.root).empty());
    EXPECT_DOUBLE_EQ(model.root->GetLength(), 0.0);
    model.root->SetPartMuz(Select(Part(), {{1, 7}}));
    const std::vector<Rendered> calls = Generate(*model.root);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].transposition, 7);
}

TEST_F(PartTreeTest, NestedTurnsAddTheirPitchesWithinTheBound) {
    auto inner = Select(Part(), {{1, 90}});
    model.root->SetPartMuz(Select(std::move(inner), {{1, 90}}));
    const std::vector<Rendered> calls = Generate(*model.root);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].transposition, kMaxTransposition);
    // A single turn's pitch is kept within the bound as it is set.
    TSelectPartMuz select(nullptr, Part());
    EXPECT_EQ(select.AddTurnItem(1, -300)->GetPitch(), -kMaxTransposition);
}

TEST_F(PartTreeTest, ASwitchedOffConcatenationSilencesBothChildren) {
    auto concat = std::make_unique<TConcatPartMuz>(nullptr, Part(), Part());
    TConcatPartMuz* concatPart = concat.get();
    auto tail = Part();
    const TSinglePartMuz* tailPart = tail.get();
    model.root->SetPartMuz(
        std::make_unique<TConcatPartMuz>(nullptr, std::move(concat), std::move(tail)));
    concatPart->PlayDraw = 0;
    const std::vector<Rendered> calls = Generate(*model.root, 1.0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].part, tailPart);
    EXPECT_DOUBLE_EQ(calls[0].t0, 0.0);  // no time passes for what is switched off
    EXPECT_FALSE(concatPart->GetFirstPart()->TakesPartInPlayDraw());
    EXPECT_TRUE(Generate(*concatPart->GetSecondPart()).empty());  // nor for a subtree of it
}

TEST_F(PartTreeTest, AFailureStopsThePassAndTheTurnsStillStartAgain) {
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, Part(), 3);
    TLoopPartMuz* loopPart = loop.get();
    model.root->SetPartMuz(std::move(loop));
    RecordingRenderer renderer;
    renderer.failAt = 2;
    std::string error;
    EXPECT_FALSE(GenerateParts(*model.root, renderer, 1.0, 0.0, error));
    EXPECT_EQ(error, "Cannot find window \"sample\".");
    EXPECT_EQ(renderer.calls.size(), 2u);
    EXPECT_EQ(loopPart->GetTurn(), 1);
}

TEST_F(PartTreeTest, ASinglePartsLengthEndsWithItsLastNote) {
    auto part = Part(0);
    AddNote(*part, stave, 0.5, 3, TTiming{4, 1});
    AddSilence(*part, stave, 0.875, TTiming{2});
    EXPECT_DOUBLE_EQ(part->GetLength(), 0.875);
    EXPECT_DOUBLE_EQ(Part(0)->GetLength(), 0.0);
}

TEST_F(PartTreeTest, SinglePartsAreWalkedInPlayingOrder) {
    auto a = Part();
    auto b = Part();
    auto c = Part();
    std::vector<TSinglePartMuz*> expected{a.get(), b.get(), c.get()};
    auto inner = std::make_unique<TConcatPartMuz>(nullptr, std::move(b), std::move(c));
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(inner), 2);
    model.root->SetPartMuz(
        std::make_unique<TConcatPartMuz>(nullptr, std::move(a), Select(std::move(loop), {{1, 0}})));
    EXPECT_EQ(SingleParts(*model.root), expected);
    EXPECT_EQ(PrevSinglePartBefore(*expected[2]), expected[1]);
    EXPECT_EQ(PrevSinglePartBefore(*expected[1]), expected[0]);
    EXPECT_EQ(PrevSinglePartBefore(*expected[0]), nullptr);
    EXPECT_EQ(model.root->LastSinglePart(), expected[2]);
    EXPECT_TRUE(CheckParentLinks(*model.root));
}

TEST_F(PartTreeTest, StaveSymbolsLeadIntoAndOutOfLoopsThroughTheRepeatSigns) {
    auto a = Part();
    auto b = Part();
    auto c = Part();
    TSinglePartMuz* partA = a.get();
    TSinglePartMuz* partB = b.get();
    TSinglePartMuz* partC = c.get();
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(b), 2);
    TLoopPartMuz* loopPart = loop.get();
    model.root->SetPartMuz(std::make_unique<TConcatPartMuz>(
        nullptr, std::move(a),
        std::make_unique<TConcatPartMuz>(nullptr, std::move(loop), std::move(c))));

    // Moving right: out of A into the loop's left sign, its content, the right sign, then C.
    TXTouchMuzSymbol* s = partA->Parent->NextStaveSymbol(partA, stave);
    EXPECT_EQ(s, &loopPart->GetLeftLoopSymbol());
    s = loopPart->SymbolRightOf(loopPart->GetLeftLoopSymbol(), stave);
    EXPECT_EQ(s, partB->FirstSymbolOfStave(stave));
    s = partB->Parent->NextStaveSymbol(partB, stave);
    EXPECT_EQ(s, &loopPart->GetRightLoopSymbol());
    s = loopPart->SymbolRightOf(loopPart->GetRightLoopSymbol(), stave);
    EXPECT_EQ(s, partC->FirstSymbolOfStave(stave));
    EXPECT_EQ(partC->Parent->NextStaveSymbol(partC, stave), nullptr);

    // Moving left: the mirror image.
    s = partC->Parent->PrevStaveSymbol(partC, stave);
    EXPECT_EQ(s, &loopPart->GetRightLoopSymbol());
    s = loopPart->SymbolLeftOf(loopPart->GetRightLoopSymbol(), stave);
    EXPECT_EQ(s, partB->LastSymbolOfStave(stave));
    s = partB->Parent->PrevStaveSymbol(partB, stave);
    EXPECT_EQ(s, &loopPart->GetLeftLoopSymbol());
    s = loopPart->SymbolLeftOf(loopPart->GetLeftLoopSymbol(), stave);
    EXPECT_EQ(s, partA->LastSymbolOfStave(stave));
    EXPECT_EQ(partA->Parent->PrevStaveSymbol(partA, stave), nullptr);

    EXPECT_EQ(model.root->FirstStaveSymbol(stave), partA->FirstSymbolOfStave(stave));
    EXPECT_EQ(model.root->LastStaveSymbol(stave), partC->LastSymbolOfStave(stave));
    EXPECT_EQ(loopPart->FirstStaveSymbol(stave), &loopPart->GetLeftLoopSymbol());
    EXPECT_EQ(partB->EnclosingLoop(), loopPart);
    EXPECT_EQ(partA->EnclosingLoop(), nullptr);
    EXPECT_EQ(partA->Parent->NextOwnSymbolsPart(partA), loopPart);
}

TEST_F(PartTreeTest, FillSilencesFillsGapsGreedilyAndSplitsThemAtBarLines) {
    struct Case {
        const char* name;
        double gapStart, gapEnd;
        std::vector<std::pair<double, int>> silences;  // position, length kind
    };
    const Case cases[] = {
        {"3/8 from a bar line", 1.0, 1.375, {{1.0, 4}, {1.25, 8}}},
        {"across a bar line", 0.25, 1.25, {{0.25, 2}, {0.75, 4}, {1.0, 4}}},
        {"a twelfth", 0.25, 0.25 + 1.0 / 12, {{0.25, 16}}},
        {"below a thirty-second", 0.25, 0.25 + 1.0 / 64, {}},
        {"a whole bar", 1.0, 2.0, {{1.0, 1}}},
    };
    for (const Case& c : cases) {
        TStaveList staves;
        TMusicReferences references;
        auto root = NewPartTree(nullptr);
        TNoteStave* own = CreateDefaultStave(staves, nullptr, *root, nullptr, references);
        TNoteStave* other = CreateDefaultStave(staves, own, *root, nullptr, references);
        TSinglePartMuz& part = *root->FirstSinglePart();
        // A note that ends at the gap, one that starts after it, and another stave's note
        // in the gap, which must not matter.
        TMuzNote* before = AddNote(part, own, 0, 0, TTiming{4});
        before->Position = c.gapStart - 0.25;
        part.ResortSymbol(before);
        AddNote(part, own, c.gapEnd, 0, TTiming{4});
        AddNote(part, other, c.gapStart, 0, TTiming{64});
        root->FillSilences(own);
        std::vector<std::pair<double, int>> found;
        for (TStaveSymbol* s : SymbolsOf(part, own)) {
            if (s->IsSilence() && s->Position >= c.gapStart) {  // earlier gaps fill too
                found.emplace_back(s->Position, static_cast<TSilence*>(s)->NoteLengthKind);
            }
        }
        EXPECT_EQ(found, c.silences) << c.name;
        EXPECT_EQ(SymbolsOf(part, other).size(), 2u) << c.name;
    }
}

TEST_F(PartTreeTest, FillSilencesStartsAtTheBeginningOfThePart) {
    auto part = Part(0);
    AddNote(*part, stave, 0.5, 0, TTiming{4});
    part->FillSilences(stave);
    const auto symbols = SymbolsOf(*part, stave);
    ASSERT_EQ(symbols.size(), 3u);  // start key, a half silence, the note
    EXPECT_TRUE(symbols[1]->IsSilence());
    EXPECT_EQ(static_cast<TSilence*>(symbols[1])->NoteLengthKind, 2);
}

TEST_F(PartTreeTest, EveryPartGetsAStartKeyForANewStave) {
    auto concat = std::make_unique<TConcatPartMuz>(nullptr, Part(), Part());
    TConcatPartMuz* parts = concat.get();
    model.root->SetPartMuz(std::move(concat));
    TNoteStave* added = model.AddStave(stave);
    for (TSinglePartMuz* part : SingleParts(*model.root)) {
        TStaveSymbol* key = part->StartKeyOfStave(added);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(static_cast<TKey*>(key)->KeyKind, keyKindG);
    }
    model.root->RemoveStaveSymbols(stave);
    EXPECT_TRUE(SymbolsOf(*parts->GetFirstPart()->FirstSinglePart(), stave).empty());
    EXPECT_TRUE(SymbolsOf(*parts->GetSecondPart()->FirstSinglePart(), stave).empty());
}

TEST_F(PartTreeTest, PartsAreWrappedDetachedAndConcatenationsDissolved) {
    auto a = Part();
    auto b = Part();
    TSinglePartMuz* partA = a.get();
    TSinglePartMuz* partB = b.get();
    model.root->SetPartMuz(std::make_unique<TConcatPartMuz>(nullptr, std::move(a), std::move(b)));

    // Wrap B in a repeat: the new loop takes B's place, then gets B as its child.
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, nullptr, 2);
    TLoopPartMuz* loopPart = loop.get();
    std::unique_ptr<TPartMuz> taken = ReplacePart(*partB, std::move(loop));
    loopPart->SetLoopPart(std::move(taken));
    EXPECT_TRUE(CheckParentLinks(*model.root));
    EXPECT_EQ(partB->Parent, loopPart);

    // Take A out: the concatenation is left with the loop and dissolves into it.
    auto* concat = static_cast<TConcatPartMuz*>(model.root->GetPartMuz());
    std::unique_ptr<TPartMuz> detached = DetachPart(*partA);
    EXPECT_EQ(detached->Parent, nullptr);
    EXPECT_FALSE(CheckParentLinks(*model.root));
    DissolveConcat(*concat);
    EXPECT_EQ(model.root->GetPartMuz(), loopPart);
    EXPECT_EQ(loopPart->Parent, model.root.get());
    EXPECT_TRUE(CheckParentLinks(*model.root));
}

TEST_F(PartTreeTest, TreeTextsShowTheLabelOrTheKindsDefault) {
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, Part(), 3);
    EXPECT_EQ(loop->GetTreeText(), "repeat 3");
    loop->SetLabel("chorus");
    EXPECT_EQ(loop->GetTreeText(), "chorus");
    TSelectPartMuz select(nullptr, Part());
    EXPECT_EQ(select.GetTreeText(), "turns");
    EXPECT_EQ(select.GetStartItem().GetTreeText(), "root turn");
    EXPECT_EQ(select.AddTurnItem(2)->GetTreeText(), "turn 2");
    EXPECT_EQ(model.root->GetTreeText(), "root");
    EXPECT_EQ(model.FirstPart().GetTreeText(), "part");
    TConcatPartMuz concat(nullptr, Part(), Part());
    EXPECT_EQ(concat.GetTreeText(), "<concat>");
    EXPECT_EQ(concat.GetPartMuzKind(), partMuzConcat);
    EXPECT_EQ(select.GetStartItem().GetMusTreeItemKind(), musTreeItemSelectPartItem);
}

TEST_F(PartTreeTest, TurnItemsAreCountedLookedUpAndRemoved) {
    TSelectPartMuz select(nullptr, Part());
    select.AddTurnItem(3, 5);
    select.AddTurnItem(1);
    select.AddTurnItem(3, -2);
    EXPECT_EQ(select.LargestCount(), 3);
    EXPECT_EQ(select.CountTurnItems(3), 2);
    ASSERT_NE(select.LookUpTurn(3), nullptr);
    EXPECT_EQ(select.LookUpTurn(3)->GetPitch(), 5);  // the first of them
    EXPECT_EQ(select.LookUpTurn(2), nullptr);
    EXPECT_EQ(select.RemoveTurnItems(3), 2);
    EXPECT_EQ(select.LargestCount(), 1);
    EXPECT_EQ(select.FirstTurnItem()->GetNext(), nullptr);
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

TEST(PartTreeNodesTest, AChainOfConcatenationsIsOneListOfSiblings) {
    auto a = std::make_unique<TSinglePartMuz>(nullptr);
    auto b = std::make_unique<TSinglePartMuz>(nullptr);
    auto c = std::make_unique<TSinglePartMuz>(nullptr);
    auto d = std::make_unique<TSinglePartMuz>(nullptr);
    TPartMuz* nodes[] = {a.get(), b.get(), c.get(), d.get()};
    // ((a, b), loop(c)), d: the nodes a, b, loop, d are siblings; c is inside the loop.
    auto loop = std::make_unique<TLoopPartMuz>(nullptr, std::move(c), 2);
    TLoopPartMuz* loopPart = loop.get();
    auto left = std::make_unique<TConcatPartMuz>(
        nullptr, std::make_unique<TConcatPartMuz>(nullptr, std::move(a), std::move(b)),
        std::move(loop));
    auto root = std::make_unique<TStartPartMuz>(nullptr);
    root->SetPartMuz(std::make_unique<TConcatPartMuz>(nullptr, std::move(left), std::move(d)));

    EXPECT_EQ(NextSiblingPart(*nodes[0]), nodes[1]);
    EXPECT_EQ(NextSiblingPart(*nodes[1]), loopPart);
    EXPECT_EQ(NextSiblingPart(*loopPart), nodes[3]);
    EXPECT_EQ(NextSiblingPart(*nodes[3]), nullptr);
    EXPECT_EQ(PrevSiblingPart(*nodes[3]), loopPart);
    EXPECT_EQ(PrevSiblingPart(*loopPart), nodes[1]);
    EXPECT_EQ(PrevSiblingPart(*nodes[0]), nullptr);
    EXPECT_EQ(NextSiblingPart(*nodes[2]), nullptr);
    EXPECT_EQ(EnclosingLoopOrSelect(*nodes[2]), loopPart);
    EXPECT_EQ(EnclosingLoopOrSelect(*nodes[1]), nullptr);
    EXPECT_TRUE(CheckParentLinks(*root));
}

TEST(PartTreeNodesTest, TheReadersStackHandsBackPartsLastInFirstOut) {
    TPartMuzStack stack;
    EXPECT_EQ(stack.Pop(), nullptr);
    auto first = std::make_unique<TSinglePartMuz>(nullptr);
    auto second = std::make_unique<TSinglePartMuz>(nullptr);
    TPartMuz* secondPart = second.get();
    stack.Push(std::move(first));
    stack.Push(std::move(second));
    EXPECT_EQ(stack.Count(), 2);
    EXPECT_EQ(stack.Pop().get(), secondPart);
    EXPECT_EQ(stack.Count(), 1);  // what is left is freed with the stack
}

TEST(SelectionReferenceTest, ABarOrRepeatSignKeepsTheLastStave) {
    test::MusicModel model;
    TNoteStave* stave = model.AddStave();
    TNoteStave* other = model.AddStave(stave);
    TMusicReferences& references = model.references;
    EXPECT_EQ(StaveOfSelection(references), nullptr);
    TMuzNote* note = test::AddNote(model.FirstPart(), other, 0, 0);
    SetSelectedSymbol(references, note);
    EXPECT_EQ(references.SelectedInStave, other);
    SetSelectedSymbol(references, &model.FirstPart().GetMuzBar());
    EXPECT_EQ(references.SelectedSymbol, &model.FirstPart().GetMuzBar());
    EXPECT_EQ(StaveOfSelection(references), other);
    SetSelectedSymbol(references, model.FirstPart().StartKeyOfStave(stave));
    EXPECT_EQ(StaveOfSelection(references), stave);
}

}  // namespace
}  // namespace kalvora

namespace kalvora {
namespace {

// A gap from the start of the part up to a note anywhere on a grid of 1/48, across bars of
// 3/4 with a first bar of one beat: the fill ends, its silences follow one another without
// crossing a bar line, and what stays open in each bar is shorter than a thirty-second.
TEST(FillSilencesTest, EveryGapIsFilledUpToLessThanAThirtySecondPerBar) {
    for (int steps = 1; steps <= 170; ++steps) {
        const double gapEnd = steps / 48.0;
        TStaveList staves;
        TMusicReferences references;
        auto root = std::make_unique<TStartPartMuz>(nullptr);
        root->SetPartMuz(std::make_unique<TSinglePartMuz>(nullptr, 4, 3, 1));
        TNoteStave* stave = CreateDefaultStave(staves, nullptr, *root, nullptr, references);
        TSinglePartMuz& part = *root->FirstSinglePart();
        test::AddNote(part, stave, gapEnd, 0, TTiming{4});
        root->FillSilences(stave);

        const TMuzBar& bar = part.GetMuzBar();
        double at = 0;
        for (TStaveSymbol* s : test::SymbolsOf(part, stave)) {
            if (!s->IsSilence()) continue;
            const auto* silence = static_cast<TSilence*>(s);
            const double end = silence->Position + silence->GetTotalLength();
            ASSERT_GE(silence->Position, at - kPositionTolerance) << steps;
            ASSERT_LE(end, gapEnd + kPositionTolerance);
            ASSERT_LE(end, bar.BarEnd(silence->Position) + kPositionTolerance);
            // The open stretch before this silence stays within one bar and is short.
            if (PositionBefore(at, silence->Position)) {
                ASSERT_LT(silence->Position - at, 1.0 / 32);
            }
            at = end;
        }
        EXPECT_LT(gapEnd - at, 1.0 / 32) << steps;
    }
}

}  // namespace
}  // namespace kalvora
