#include "smalldata.h"

#include "helpdata.h"
#include "tradeskilldata.h"

bool writeSmallData()
{
    TradeskillData data;
    Proc blade{"Sharpened Blade", 200, 1, {}};
    blade.reqs << Req{"Whetstone", "0", 0, 1001} << Req{"Rough Blade", "1", 0, 1002}
               << Req{"Weaponsmithing", "4.5", 1, 0};
    Proc hilt{"Wrapped Hilt", 120, 120, {}};
    hilt.reqs << Req{"Leather Strip", "1", 0, 1003} << Req{"Tailoring", "2", 1, 0};
    data.procGrps() << ProcGroup{"Weapons", {blade, hilt}}
                    << ProcGroup{"Armour", {Proc{"Padded Vest", 150, 10, {Req{"Cloth", "1", 0, 1004}}}}};

    HelpData help;
    help.topics() << HelpTopic{"1", "Getting started", "Pick a <b>group</b>.<br>Then press GO!"}
                  << HelpTopic{"1.1", "Quality levels", "The QL of the product."};
    return data.save() && help.save();
}
