// Obrazor's start-up: the application, its title, the JPEG format, the three windows, the loop.

#include <QApplication>

#include "app/ProgramIcon.h"
#include "app/StockIcon.h"
#include "app/conversion/PictureFormats.h"
#include "app/Unit1.h"
#include "app/Unit2.h"
#include "app/Unit3.h"
#include "ui/Application.h"

int main(int argc, char** argv) {
    TApplication::Initialize(argc, argv);
    Application->SetTitle("Lumovar");
    RegisterPictureFormats();
    QApplication::setWindowIcon(ProgramIcon());
    InstallStockIcon();
    Form1 = new TForm1(nullptr);
    Form2 = new TForm2(nullptr);
    Form3 = new TForm3(nullptr);
    Application->Run();
    delete Form3;
    delete Form2;
    delete Form1;
    UnregisterPictureFormats();
    delete Application;
    return 0;
}
