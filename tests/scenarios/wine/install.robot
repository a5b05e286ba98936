# A whole install into a typed folder with the StartUp box cleared, then Finish.
wait-window VintInstall
startup off
expect-text 112 "Total Disk Space Used: 2477K     "
set-folder "C:\Apps\Tesmara"
click 1
expect-text 113 "Installed Successfully - Click Finish to Start Tesmara"
click 109
wait-gone VintInstall
wait-window VintTesmara
close-window VintTesmara
wait-gone VintTesmara
