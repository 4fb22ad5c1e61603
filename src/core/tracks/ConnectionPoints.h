// Where track pieces meet: connection points with their heights, coupling
// kinds and partners, and the track states (routes) through a piece.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "layoutfile/Collections.h"
#include "objects/Geometry.h"
#include "platform/WinTypes.h"

namespace tk3d {

class TSchiene;
class TGeradeLinie;
class TTKObjectList;

// Coupling kinds of fCoupling. A point of kind 2 reserves this much room
// ahead of itself in its piece's bounds.
constexpr uint8_t kCouplingPlain = 0, kCouplingA = 1, kCouplingB = 2;
constexpr double kCouplingReserve = 17;

class TAnschlussPunkt : public TStreamable {
public:
    static constexpr uint16_t kCurrentVersion = 11;
    static constexpr TColorRef kDefaultValueA = 0x000000FF;
    static constexpr TColorRef kDefaultValueB = 0x00FFFFFF;
    // Transient bits of fPointFlags.
    static constexpr uint8_t kMarkRead = 1, kMarkPiece = 2;

    uint16_t fVersion = 0;
    uint8_t fCoupling = 0;
    TExtPoint fPosition;  // in the owning piece's frame
    double fDirection = 0;
    TSchiene* fOwner = nullptr;
    // Resolved after loading; links are always mutual (see ResolvePartner).
    TAnschlussPunkt* fPartner = nullptr;
    bool fShowHeight = false;
    TPoint fLabelOffset;
    double fHeight = 0;
    // As stored: the partner's piece in the document list and its point.
    int32_t fPartnerObject = -1;
    int32_t fPartnerPoint = -1;
    uint8_t fPointFlags = 0;
    TColorRef fPointColor = 0;
    // Planner display attributes, kept as read.
    uint8_t fAttrByte = 0;
    int32_t fAttrWidth = 0;
    int32_t fAttrLength = 0;
    uint32_t fAttrValueA = 0;
    uint32_t fAttrValueB = 0;

    TAnschlussPunkt() = default;
    ~TAnschlussPunkt() override { Unlink(); }
    TAnschlussPunkt(const TAnschlussPunkt&) = delete;
    TAnschlussPunkt& operator=(const TAnschlussPunkt&) = delete;

    // Both layouts (current from version 8, older below). A height that is
    // not finite or within 1e-8 of zero reads as 0.
    void Load(TCLStream& stream) override;

    // Joins the point to what the stored indices name in the owner's
    // document: a point of a track piece. Indices that name nothing of the
    // kind leave the point as it is. The link is made mutual; a point that
    // was joined elsewhere is released first. Version-1 points get the
    // attributes of the current version.
    void ResolvePartner(const TTKObjectList& document);
    // Releases the partner on both sides.
    void Unlink();

    TExtPoint AbsolutePosition() const;
    // The height label's text: the height in the display unit.
    std::string HeightText() const;
    // The height label in layout millimetres (Top >= Bottom), or the empty
    // union rectangle when the point shows none.
    TRect HeightLabelRect() const;

private:
    void LoadCurrent(TCLStream& stream, uint16_t version);
    void LoadOld(TCLStream& stream, uint16_t version);
};

// Both kinds plain, or both coupled and complementary.
bool CouplingsMatch(const TAnschlussPunkt& a, const TAnschlussPunkt& b);

// A piece's connection points in index order; every slot holds a point.
class TAnschlussColl : public TTypedCollection<TAnschlussPunkt> {
protected:
    std::unique_ptr<TStreamable> GetItem(TCLStream& stream) override;
};

// The rail lines of a route: the line indices as stored, and the lines
// they name once the piece has resolved them (null for a negative index).
class TLineList : public TNoFreeCollection {
public:
    std::vector<TGeradeLinie*> Lines;
};

// A route through a piece from one connection point over a chain of its
// rail lines to another.
class TTrackState : public TStreamable {
public:
    static constexpr int32_t kWrittenVersion = 1;

    int32_t fStateVersion = 0;
    // As stored: indices into the piece's connection collection.
    int32_t fFromIndex = -1;
    int32_t fToIndex = -1;
    TAnschlussPunkt* fFrom = nullptr;
    TAnschlussPunkt* fTo = nullptr;
    TSchiene* fStateOwner = nullptr;
    TLineList fLines;
    bool fProcessed = false;

    // Version, from, to, a count and that many line indices.
    void Load(TCLStream& stream) override;
    // Turns the stored indices into the piece's points and lines. A
    // negative index gives none; one beyond the piece's lists raises
    // "Listenindex überschreitet das Maximum (%d)".
    void Resolve(TSchiene& owner);
};

// A piece's track states; every slot holds a state.
class TStateList : public TTypedCollection<TTrackState> {
public:
    // Appends a state built after loading.
    void Add(std::unique_ptr<TTrackState> state) { ADD(std::move(state)); }
    void Clear() { fItems.clear(); }

protected:
    std::unique_ptr<TStreamable> GetItem(TCLStream& stream) override;
};

}  // namespace tk3d
