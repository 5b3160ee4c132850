#include "device/frame/form_style.h"

#include "device/resources/marrowind_string_ids.h"
#include "device/resources/skeldra_string_ids.h"

namespace {

const FormStyleTraits kSkeldraStyle = {
    .ids = {.maker = 1041,
            .name = 1014,
            .separators = {1042, 1043, 1044, 1045},
            .buttons = {1027, 1030, 1031},
            .titles = {1049, 1051, 1053},
            .descriptions = {1050, 1052},
            .link = 1032},
    .sizes = {.makerWidth = 70,
              .nameWidth = 150,
              .separatorWidth = 200,
              .titleWidth = 120,
              .descriptionHeight = 24,
              .linkHeight = 12,
              .buttonCreateTop = 4},
    .buttonBitmaps = {{{145, 146}, {133, 144}, {147, 148}}},
    .separatorBitmap = 150,
    .formWidth = 159,
    .formHeight = 194,
    .aboutIcon = 1033,
    .aboutLandscapeWidth = 217,
    .aboutLandscapeHeight = 141,
    .progress = {.bar = 1012,
                 .number = 1013,
                 .percent = 1016,
                 .firstLine = 1014,
                 .secondLine = 1015,
                 .firstLineString = skeldra_strings::kProgressTitle,
                 .secondLineString = skeldra_strings::kMakerAddress},
    .exitCommand = 32785,
    .homePageCommand = 32791,
    .guideCommand = 32792,
    .frameTitleString = AFX_IDS_APP_TITLE,
    .linkString = skeldra_strings::kMakerAddress,
};

const FormStyleTraits kMarrowindStyle = {
    .ids = {.maker = 1017,
            .name = 1018,
            .separators = {1019, 1022, 1025, 1028},
            .buttons = {1001, 1002, 1000},
            .titles = {1020, 1023, 1026},
            .descriptions = {1021, 1024},
            .link = 1027},
    .sizes = {.makerWidth = 72,
              .nameWidth = 200,
              .separatorWidth = 220,
              .titleWidth = 180,
              .descriptionHeight = 26,
              .linkHeight = 14,
              .buttonCreateTop = 100},
    .buttonBitmaps = {{{135, 134}, {132, 133}, {136, 137}}},
    .separatorBitmap = 131,
    .formWidth = 156,
    .formHeight = 129,
    .aboutIcon = 1011,
    .aboutLandscapeWidth = 210,
    .aboutLandscapeHeight = 129,
    .progress = {.bar = 1029,
                 .number = 1031,
                 .percent = 1030,
                 .firstLine = 1032,
                 .secondLine = 1033,
                 .firstLineString = marrowind_strings::kProgressTitle,
                 .secondLineString = marrowind_strings::kMakerAddress},
    .exitCommand = ID_APP_EXIT,
    .homePageCommand = 32773,
    .guideCommand = 32774,
    .frameTitleString = 0,
    .linkString = 0,
};

}  // namespace

const FormStyleTraits& StyleTraits(FormStyle style) {
  return style == FormStyle::kSkeldra ? kSkeldraStyle : kMarrowindStyle;
}
