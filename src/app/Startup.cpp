#include "app/Startup.h"

#include "app/AppContext.h"
#include "forms/FormLibraryStore.h"
#include "platform/TextCodec.h"

const std::string& productTitle() {
    return GBK("澄溪·表单录入台");
}

std::string settingsFilePath(const AppContext& context) {
    return context.runDirectory + "/" + context.productTitle + ".ini";
}

void openSettingsFile(AppContext& context) {
    context.productTitle = productTitle();
    context.settings.open(settingsFilePath(context));
}

void prepareFormLibrary(AppContext& context) {
    loadLibrary(context.formLibrary, context.settings);
    if (context.formLibrary.empty()) seedSampleForm(context.formLibrary, context.settings);
}
