// md2viewer: the MD2 demo (demo/SimpleWindow.h) as a tool for any MD2 file. A model and skin from the
// command line, framed to fit the view; every skin the model has, cut-outs included; the keys and
// options of one table (viewer/ViewerCommands.h); playback speed, the mouse orbit, the information
// overlay and screenshots. Without arguments it is the demo, until one of its keys is pressed.
#pragma once

#include "demo/SimpleWindow.h"
#include "models/MD2Catalog.h"
#include "viewer/ContactSheet.h"
#include "models/MD2Instance.h"
#include "textures/Texture.h"
#include "viewer/Framing.h"
#include "viewer/OrbitCamera.h"
#include "viewer/ViewerCommands.h"
#include "viewer/ViewerOptions.h"
#include "viewer/ViewerPanel.h"
#include "viewer/ViewerTimeline.h"

#include <memory>
#include <string>
#include <vector>

class CViewer : public SimpleWindow {
public:
    explicit CViewer(const ViewerOptions& options);

    void Init() override;
    // One frame: draws it, saves a screenshot that is due, and reacts to the input it took.
    bool RunFrame() override;
    // Shows another model as if it had been named alone on the command line: the skins found beside
    // it, framed, its first animation. The camera stays where it is. False when it does not load (the
    // loader has said why); the scene is then empty until another model is opened.
    bool Open(const std::string& path);
    // Browses the models of an archive or folder from the first, as `md2viewer ROOT` does; false
    // (with one line on standard error) when it holds none that loads.
    bool Browse(const std::string& root);
    void Render() override;
    // 0, or 1 when a model, an animation, a skin or a screenshot asked for on the command line failed.
    int ExitStatus() const { return exitStatus; }

private:
    // One skin the model can wear; its texture is loaded the first time it is shown.
    struct Skin {
        std::string path;
        // The texture the viewer made, if it did (the model's own skin stays the model's).
        CTexture own;
        // The texture shown: the viewer's own, or the model's skin.
        unsigned int texture = 0;
        bool hasAlpha = false;
        bool loaded = false;
    };

    // Shows what the command line names (a model, or the first of the models browsed); false when not.
    bool Start();
    // The skin the model wears now, found at path.
    Skin ModelSkin(const std::string& path) const;
    // Lists the archive or folder being browsed; false (with one line on standard error) when it
    // cannot be read or holds no model.
    bool OpenCatalog();
    // Opens the catalog's current model, or when it is refused (the loader has said why) the next
    // one in `direction` that loads; false when none does.
    bool OpenFromCatalog(int direction);
    // Lists the archive or folder for --sheet and makes the empty sheet; false (with one line on
    // standard error) when there is nothing to draw or the sheet would be too large.
    bool StartSheet();
    // Draws the next model of the sheet into its cell, or when all are drawn saves the sheet; false
    // then, to end.
    bool DrawSheetCell();
    // Lists the given model's skins (SKIN first, then those the model names) and shows the one
    // --skin-index asks for; false (with one line on standard error) when there is no such skin. The
    // model is loaded without its own skin search: this is the only one.
    bool FindSkins();
    // Says on standard error that no skin was found beside the model, naming what was looked for.
    void ReportMissingSkin() const;
    // Shows skin i of the list, or the plain grey texture when it does not load.
    void ShowSkin(size_t i);
    // The plain grey texture of a model without a skin, made the first time it is needed.
    unsigned int GreyTexture();
    // Plays the animation table of the model (--animations for the model named with it, else the
    // file beside it), where there is one; false when the file --animations names gives none.
    bool LoadAnimations();
    // Makes the model of path (the scene's hobgoblin when empty) with the skin given or those found
    // beside it, its animations, placement and culling; false when it cannot be shown.
    bool LoadModel(const std::string& path, const char* skin);
    // Gives the model its tags (the file beside it) and the parts the command line asks for, and
    // lists the heads beside it; false (with one line on standard error) when a part asked for
    // cannot be shown.
    bool LoadParts();
    // Puts the part of a --attach or --with value, MODEL[:SKIN] (a path as for the model, inside the
    // model's archive when it is in one), playing its standing animation, on the model's tag `tag`,
    // or links it to the model's frames when `tag` is null, and notes its file in partFiles; false
    // (the loader or the model has said why) when it does not load or does not fit.
    bool PutPart(const std::string& given, const char* tag);
    // Puts the next head on tag_head, or after the last none.
    void NextHead();
    // Grows the box by the parts over the frames the model's animation plays.
    void AddPartsToBox(Box& box) const;
    // One line per tag and linked part for the overlay: what is on it.
    std::vector<std::string> PartLines() const;
    // Selects the --animation choice; false (with one line on standard error) when it names none.
    bool StartAnimation();
    // Fits a given model's starting animation into the view.
    void FrameModel();
    // Scales and places a framed model for its current rotation.
    void PlaceModel();
    // Does what a key of the table does (`offset` is the key's place in its range); false to end.
    bool Act(ViewerAction action, int offset);
    // Orbits the camera around the model while the left button drags; the wheel zooms. A press or a
    // wheel notch over the panel or the timeline is theirs.
    void HandleMouse();
    // Whether the panel, with a model or an archive given and no picture to save, belongs on screen.
    bool PanelWanted() const;
    // Makes the panel and the timeline the first time they are wanted, refills the panel's lists
    // after a model was loaded, and shows the viewer's state in it.
    void SyncPanel();
    // Does what the panel and the timeline were asked for in this frame.
    void TakePanel();
    // Whether the window pixel (x, y) lies on the visible panel or timeline.
    bool OnPanel(int x, int y) const;
    void Orbit(float yaw, float pitch, float zoom);
    void DrawModel();
    void DrawOverlay() const;
    // Saves the back buffer if a screenshot is due in this frame.
    void SaveDueScreenshot();

    ViewerOptions options;
    // The model --animations is for: the one named on the command line.
    std::string animationsFor;
    int exitStatus;
    bool failed;
    bool wireframe;
    bool overlay;
    bool grid = true;
    // The panel and the timeline (none in the demo, for a screenshot or a sheet), and whether the
    // panel's lists still show the model before the one loaded.
    std::unique_ptr<CViewerPanel> panel;
    std::unique_ptr<CViewerTimeline> timeline;
    bool panelStale = true;
    // A given model's box over its starting animation, and the scale that fits it.
    bool framed;
    Box box;
    float frameScale;
    COrbitCamera orbit;
    // A left-button drag in progress, and the pointer position the orbit has followed it to.
    bool dragging;
    int dragX, dragY;
    int framesDrawn;
    std::string dueScreenshot;
    // The models of the archive or folder being browsed (empty for one model alone).
    CMD2Catalog catalog;
    // The contact sheet being drawn (--sheet), and how many of its models are in it.
    std::unique_ptr<CContactSheet> sheet;
    size_t sheetDrawn = 0;
    std::vector<Skin> skins;
    // The files of the parts on the model, by instance.
    std::vector<std::pair<const CMD2Instance*, std::string>> partFiles;
    // The heads beside a model with tags, and which is on (0 for none, i for heads[i - 1]).
    std::vector<std::string> heads;
    size_t headIndex = 0;
    // The names the skin search looked for, for saying what was missing.
    std::vector<std::string> skinsTried;
    size_t skinIndex;
    CTexture grey;
};
