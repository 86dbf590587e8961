<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>wexlo::FindBar</name>
    <message numerus="yes">
        <location filename="../src/app/FindBar.cpp" line="+125"/>
        <source>%1 of %2 loan(s)</source>
        <translation>
            <numerusform>%1 of %2 loan</numerusform>
            <numerusform>%1 of %2 loans</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>wexlo::MainWindow</name>
    <message numerus="yes">
        <location filename="../src/app/MainWindow.cpp" line="+556"/>
        <source>Delete %n Loan(s)</source>
        <translation>
            <numerusform>Delete Loan</numerusform>
            <numerusform>Delete %n Loans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location filename="../src/app/MainWindowLoanWork.cpp" line="+121"/>
        <source>Clear Due Date(s) of %n Loan(s)</source>
        <translation>
            <numerusform>Clear Due Date</numerusform>
            <numerusform>Clear Due Dates of %n Loans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Set Due Date of %n Loan(s)</source>
        <translation>
            <numerusform>Set Due Date</numerusform>
            <numerusform>Set Due Date of %n Loans</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Not Returned</source>
        <translation>
            <numerusform>Mark Loan Not Returned</numerusform>
            <numerusform>Mark %n Loans Not Returned</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+1"/>
        <source>Mark %n Loan(s) Returned</source>
        <translation>
            <numerusform>Mark Loan Returned</numerusform>
            <numerusform>Mark %n Loans Returned</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <location line="+74"/>
        <source>%1 loan(s) overdue</source>
        <translation>
            <numerusform>%1 loan is overdue</numerusform>
            <numerusform>%1 loans are overdue</numerusform>
        </translation>
    </message>
</context>
</TS>
