echo started
( trap "" TERM; sleep 6; echo "U1= 999" > clc ) & sleep 1000
